// The target that compiles win_test_headers.h, for the Windows tests to reuse.
