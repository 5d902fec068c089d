# Optional sanitizer build: -DMINDPRISM_SANITIZE=address,undefined
if(MINDPRISM_SANITIZE)
  add_compile_options(-fsanitize=${MINDPRISM_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${MINDPRISM_SANITIZE})
endif()
