# Read by cpack for each generator. Without dpkg-shlibdeps CPack would quietly
# build a .deb that depends on none of the Qt libraries.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(PC_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT PC_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing: install dpkg-dev to build the .deb")
  endif()
endif()
