// The canary of the frames that -fstack-protector-strong guards. The
// compiler's own support library seeds it through CryptAcquireContext,
// which loads a cryptographic provider into every run (under Wine its
// libraries add a quarter to the program's memory) for eight random bytes.
// Defining both symbols here keeps that library out of the link; a second
// definition would fail it.
//
// The bytes come from the system's generator, BCryptGenRandom, in bcrypt.dll
// loaded from the system folder by name there. Not from advapi32's
// RtlGenRandom: Windows forwards that export to cryptbase.dll, which is no
// known DLL, and resolves the forwarder when it loads the program, through
// the program's own folder and before SetDefaultDllDirectories can run.
#include <windows.h>

#include <bcrypt.h>

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
    SystemLibrary bcrypt(L"bcrypt.dll");
    const auto genRandom = bcrypt.Find<decltype(BCryptGenRandom)>("BCryptGenRandom");
    std::uintptr_t value = 0;
    const bool filled = genRandom != nullptr &&
                        BCRYPT_SUCCESS(genRandom(nullptr, reinterpret_cast<PUCHAR>(&value), sizeof value,
                                                 BCRYPT_USE_SYSTEM_PREFERRED_RNG));
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
