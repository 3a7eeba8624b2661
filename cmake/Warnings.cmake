# Strict warnings for the project's own targets (not for GoogleTest or TinyXML).
function(prismel_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
endfunction()
