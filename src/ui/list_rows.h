// How tall a row of a list box is as the platform draws it: the lists that
// show all their rows are sized by it, and each platform's list measures its
// rows its own way, so the measuring lives in one file per platform.
#pragma once

class wxListBox;

// The height in pixels of one row of `list`, spacing included; measured on
// its first row when it has one.
int ListRowHeight(wxListBox* list);
