// A module for the tests of ProgramModules: one entry that answers 42.

extern "C" __attribute__((visibility("default"))) int velars_test_entry() { return 42; }
