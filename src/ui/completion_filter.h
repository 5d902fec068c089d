// How a text field offers the completions its completer found. GTK shows
// only those that start with what is typed, so a question found by a word
// inside its text was never offered; each platform's file lets the
// completer's own choice stand where it can.
#pragma once

class wxTextCtrl;

// Shows every completion `field`'s completer gives (call after
// AutoComplete); where the platform cannot, those starting with the text.
void OfferEveryCompletion(wxTextCtrl* field);
