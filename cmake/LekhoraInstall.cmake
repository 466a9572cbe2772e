# The command-line tools read the model, the word list and the frequencies
# beside their own file (ProgramFolder follows /proc/self/exe through links),
# so they install into the program's folder; the PATH gets a relative link.
function(lekhora_install_tool target)
  install(TARGETS ${target} RUNTIME DESTINATION ${LEKHORA_INSTALL_APPDIR})
  if(UNIX)
    file(RELATIVE_PATH _to_appdir
      /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${LEKHORA_INSTALL_APPDIR}/${target})
    install(CODE "
      set(_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}\")
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
      file(REMOVE \"\${_link}\")
      file(CREATE_LINK \"${_to_appdir}\" \"\${_link}\" SYMBOLIC)
      message(STATUS \"Installing: \${_link} -> ${_to_appdir}\")
    ")
  endif()
endfunction()
