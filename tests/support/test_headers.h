// The headers nearly every test program includes, compiled once per build as
// the tests' precompiled header: GoogleTest alone is most of a test file's
// compile time.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
