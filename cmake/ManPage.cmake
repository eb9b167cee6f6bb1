# Man pages come from the program's own --help and --version through help2man,
# plus a short include file beside the program's sources for what --help leaves
# out (exit status, files, examples), so the page never drifts from the program.
function(edid_man_page target include_file)
  if(NOT EDID_BUILD_MAN)
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info
            --include=${CMAKE_CURRENT_SOURCE_DIR}/${include_file}
            --output=${page} $<TARGET_FILE:${target}>
    # -n keeps the time out of the archive, so the package builds reproducibly.
    COMMAND gzip -9nf -k ${page}
    DEPENDS ${target} ${CMAKE_CURRENT_SOURCE_DIR}/${include_file}
    COMMENT "Generating the man page of ${target}"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page} ${page}.gz)
  set_target_properties(${target}_man PROPERTIES MAN_PAGE ${page})
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
