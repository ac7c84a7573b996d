# The Windows build compiles <windows.h> and <commctrl.h> once per target instead of once per
# file of the window code: they took about 40 per cent of each file's compile time. Only these two:
# with the standard headers or GoogleTest precompiled as well, g++ 12 reports its false
# -Warray-bounds and -Wstringop-overread warnings about std::wstring, which it keeps quiet
# about when those headers are read as system headers. Portable code gets none, so that it
# never sees the Win32 macros it does not include itself.
function(orvelle_precompiled_headers)
    set(headers <windows.h> <commctrl.h>)
    target_precompile_headers(orvelle_app PRIVATE ${headers})
    if(TARGET windows_tests)
        target_precompile_headers(windows_tests PRIVATE ${headers})
    endif()
endfunction()
