# Warnings are errors on all three compilers; applied to our own targets only.
function(project_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wformat=2
                                             -Wimplicit-fallthrough)
endfunction()
