// The maker's addresses and notice.
#include "ui/maker.h"

const wxString MAKER_DOWNLOAD_URL = wxS("http://www.larkspan.example/download/");
const wxString MAKER_SITE_LABEL = wxS("www.larkspan.example");
const wxString MAKER_SITE_URL = wxS("http://www.larkspan.example");
const wxString MAKER_EMAIL = wxS("support@larkspan.example");
const wxString MAKER_NOTICE = wxString(L"© 1999-2011 Larkspan");
