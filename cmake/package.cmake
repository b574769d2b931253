# The release: tapfinch.exe with its README and licence in one zip, and the
# zip's SHA-256 beside it in sha256sum's format, so that a download can be
# checked. `cmake --build --preset windows --target package`.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TAPFINCH_PACKAGE_ARCH win64)
else()
  set(TAPFINCH_PACKAGE_ARCH win32)
endif()
set(TAPFINCH_PACKAGE ${CMAKE_BINARY_DIR}/${PROJECT_NAME}-${PROJECT_VERSION}-${TAPFINCH_PACKAGE_ARCH}.zip)
add_custom_command(
  OUTPUT ${TAPFINCH_PACKAGE} ${TAPFINCH_PACKAGE}.sha256
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:tapfinch> -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
          -DSTAGE=${CMAKE_BINARY_DIR}/package -DZIP=${TAPFINCH_PACKAGE} -P ${CMAKE_SOURCE_DIR}/cmake/make-package.cmake
  DEPENDS tapfinch ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/cmake/make-package.cmake
  COMMENT "Packing ${TAPFINCH_PACKAGE}"
  VERBATIM)
add_custom_target(package DEPENDS ${TAPFINCH_PACKAGE} ${TAPFINCH_PACKAGE}.sha256)
