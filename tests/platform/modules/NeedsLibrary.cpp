// A module that needs a library of its own (TestDependency.cpp): copied
// without that library, it cannot be loaded.

int TestDependencyValue();

extern "C" __attribute__((visibility("default"))) int velars_test_entry() {
    return TestDependencyValue();
}
