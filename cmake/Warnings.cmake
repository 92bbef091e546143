# One place for the project's warning policy; every target calls velmar_warnings().
function(velmar_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VELMAR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
