// Self-drawn hyperlink control (placeholder until the control lands).
#include "widgets/hyperlink.h"
