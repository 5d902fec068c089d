// The exported page's file: what it holds and how the quiz travels in it.
#include "web/web_export.h"

#include <gtest/gtest.h>
