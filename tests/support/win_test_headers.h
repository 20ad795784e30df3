// The Windows tests' precompiled header: the tests' own and <windows.h>, which
// every test of a window or a quiz process includes.
#pragma once

#include <windows.h>

#include "tests/support/test_headers.h"
