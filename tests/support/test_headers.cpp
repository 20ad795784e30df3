// The target that compiles test_headers.h, for every test program to reuse.
