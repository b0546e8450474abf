// The canary of the frames that -fstack-protector-strong guards. The
// compiler's own support library seeds it through CryptAcquireContext,
// which loads a cryptographic provider into every run (under Wine its
// libraries add a quarter to the program's memory) for eight random bytes.
// Defining both symbols here keeps that library out of the link; a second
// definition would fail it.
//
// The bytes come from the system's generator, RtlGenRandom, found at run
// time as the platform documents it (advapi32's SystemFunction036). Never
// imported: Windows forwards that export to cryptbase.dll, which is no known
// DLL, and resolves an imported forwarder when it loads the program, through
// the program's own folder. Found here, after the library search has been
// restricted to the system folder and cryptbase.dll loaded from there, the
// forwarder binds to the system's copy. Not bcrypt's BCryptGenRandom: under
// Wine its start-up adds a cryptographic back end of about 3 MB to every run.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "ground/win32/system_library.h"

extern "C" {

// Read by every guarded frame; set once, before wWinMain and before any
// other static object is built, so that no guarded frame on the stack
// outlives the change.
void* __stack_chk_guard = nullptr;

// A frame's canary was overwritten: nothing in the process can be trusted,
// so it ends at once, without unwinding or handlers, as the platform ends a
// program whose frame cookie fails.
[[noreturn]] void __stack_chk_fail()
{
    RaiseFailFastException(nullptr, nullptr, 0);
    std::abort();
}

}  // extern "C"

namespace {

struct RandomWord {
    bool Filled;
    std::uintptr_t Value;
};

// Guarded itself (its locals' addresses are taken), so it returns before
// the canary changes; never inlined into the function that changes it.
__attribute__((noinline)) RandomWord ReadSystemGenerator() noexcept
{
    // Every later library search stays in the system folder; wWinMain
    // asks for the same again.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Kept, like the forwarder's own binding would keep it. This Wine has
    // no cryptbase.dll: its advapi32 implements the function itself.
    const SystemLibrary cryptbase(L"cryptbase.dll", LibraryLifetime::Process);
    SystemLibrary advapi32(L"advapi32.dll");
    using GenRandom = BOOLEAN WINAPI(PVOID buffer, ULONG length);
    const auto genRandom = advapi32.Find<GenRandom>("SystemFunction036");
    std::uintptr_t value = 0;
    const bool filled = genRandom != nullptr && genRandom(&value, sizeof value) != FALSE;
    return {filled, value};
}

}  // namespace

// Run by the start-up code before every other static constructor (their
// priorities start at 101 after the toolchain's own) and before wWinMain,
// so that no guarded frame is on the stack while the canary changes. Not
// guarded itself, for the same reason; a constructor function, not a
// static object, whose initialiser function the compiler would guard.
__attribute__((constructor(101), no_stack_protector)) static void SeedStackGuard() noexcept
{
    const RandomWord word = ReadSystemGenerator();
    if (!word.Filled) {
        // Every Windows since 7 has the generator. A value made up here
        // (an address, a time) is one that a local attacker can guess,
        // and a canary that can be guessed guards nothing.
        RaiseFailFastException(nullptr, nullptr, 0);
        std::abort();
    }
    __stack_chk_guard = reinterpret_cast<void*>(word.Value);
}
