# xvt_windows_resources(target DESCRIPTION text [ICON]): the version
# resource of a Windows program, with the application icon when asked.
function(xvt_windows_resources target)
  cmake_parse_arguments(A "ICON" "DESCRIPTION" "" ${ARGN})
  set(XVT_RC_NAME ${target})
  set(XVT_RC_DESCRIPTION "${A_DESCRIPTION}")
  set(XVT_RC_ICON "")
  if(A_ICON)
    set(XVT_RC_ICON "1 ICON \"${XVT_SOURCE_DIR}/packaging/windows/xvtinst.ico\"")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${XVT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
