# The installation: `cmake --install` into a temporary prefix, the installed desktop files
# validated, the installed programs started from there; and the Debian package.
if(NOT TARVOS_CORE_ONLY)
  add_test(NAME Install.IntoATemporaryPrefixAndRunFromThere
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/install_test.sh
                   ${PROJECT_BINARY_DIR} ${TARVOS_APP_ID})
  add_test(NAME Install.DebianPackage
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/deb_test.sh
                   ${PROJECT_BINARY_DIR} ${TARVOS_APP_ID})
  set_tests_properties(Install.IntoATemporaryPrefixAndRunFromThere Install.DebianPackage
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
