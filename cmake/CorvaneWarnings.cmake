# Warning and sanitizer flags, applied per target.
function(corvane_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(CORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(corvane_set_sanitizers target)
  if(CORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${CORVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${CORVANE_SANITIZE})
  endif()
endfunction()

function(corvane_configure_target target)
  corvane_set_warnings(${target})
  corvane_set_sanitizers(${target})
endfunction()
