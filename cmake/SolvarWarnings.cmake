# Warnings on for the project's own targets; treated as errors with
# SOLVAR_WERROR (on in the project's test command, off for packagers, whose
# compilers and flags may warn where ours do not).
option(SOLVAR_WERROR "Treat compiler warnings as errors" OFF)

function(solvar_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(SOLVAR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
