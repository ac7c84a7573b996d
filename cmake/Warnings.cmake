# The warnings our own code compiles without.
function(orvelle_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wshadow -Wconversion -Wimplicit-fallthrough -Werror=return-type)
endfunction()
