// The program throws nothing and catches nothing, and is built without
// exception support. These definitions, which replace the standard
// library's, end it where the library would throw: running out of memory, or
// a stack larger than memory. That is what an uncaught exception would do,
// and it keeps the library's exception machinery, some 200 KB, out of the
// exe.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size)
{
    void* block = std::malloc(size != 0 ? size : 1);
    if (!block)
        std::abort();
    return block;
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

// Replacing these libstdc++ helpers, reserved names in std, is the point.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,cert-dcl58-cpp)
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,cert-dcl58-cpp)
