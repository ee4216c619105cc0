// The library NeedsLibrary.cpp needs.

int TestDependencyValue() { return 7; }
