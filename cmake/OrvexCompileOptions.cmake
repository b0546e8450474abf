# Warnings and, for the native build, the sanitizers. The Windows programs are
# linked statically so that they run on a bare Windows without the MinGW DLLs.
if(MSVC)
  add_compile_options(/W4 /permissive- /utf-8 /Zc:preprocessor)
else()
  add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  if(MINGW)
    add_link_options(-static -static-libgcc -static-libstdc++)
    # A canary on every frame with arrays or address-taken locals, and the
    # checked string and memory functions; the linker keeps ASLR (high
    # entropy) and no-execute data on, as it does by default.
    add_compile_options(-fstack-protector-strong)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
  endif()
endif()

if(ORVEX_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage feedback for libFuzzer in every native object; the sanitizer
# runtime answers the callbacks where no fuzzer is linked.
if(ORVEX_FUZZ AND NOT WIN32)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# orvex_windows_program(target): a Windows program whose entry point is
# wWinMain or wmain.
function(orvex_windows_program target)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()
