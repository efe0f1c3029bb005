# The Windows packages, made by CPack from the cross build: an installer (NSIS) with a Start-menu
# shortcut, the .orbix association and an uninstaller, and a portable ZIP of the same files.
#   cmake --build build-mingw && (cd build-mingw && cpack)
install(TARGETS orbix RUNTIME DESTINATION bin)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME "Orbix")
set(CPACK_PACKAGE_VENDOR "Equipe ORBIX")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Gráficos e cálculos de álgebra vetorial em três dimensões")
set(CPACK_PACKAGE_FILE_NAME "orbix-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Orbix")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Orbix")
# The Start-menu shortcut: bin/orbix.exe under the program's own name.
set(CPACK_PACKAGE_EXECUTABLES "orbix" "Álgebra Vetorial")

set(CPACK_NSIS_DISPLAY_NAME "Álgebra Vetorial (ORBIX)")
set(CPACK_NSIS_PACKAGE_NAME "Álgebra Vetorial (ORBIX)")
set(CPACK_NSIS_INSTALLED_ICON_NAME [=[bin\\orbix.exe]=])
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/res/orbix.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/res/orbix.ico")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# CPack's own script template (UTF-8, after its byte-order mark) with one line put before
# everything else: a 64-bit Unicode installer, for a 64-bit program with names that are not
# ASCII, which installs under the 64-bit Program Files.
file(READ "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in" ORBIX_NSIS_TEMPLATE)
string(ASCII 239 187 191 ORBIX_BOM)
string(FIND "${ORBIX_NSIS_TEMPLATE}" "${ORBIX_BOM}" ORBIX_BOM_AT)
if(ORBIX_BOM_AT EQUAL 0)
  string(SUBSTRING "${ORBIX_NSIS_TEMPLATE}" 3 -1 ORBIX_NSIS_TEMPLATE)
endif()
file(WRITE "${CMAKE_BINARY_DIR}/nsis/NSIS.template.in" "${ORBIX_BOM}Target amd64-unicode\n${ORBIX_NSIS_TEMPLATE}")
list(PREPEND CMAKE_MODULE_PATH "${CMAKE_BINARY_DIR}/nsis")

# A work file opens in the program from Explorer; the association goes with the uninstaller.
# (CPack writes these lines into a CMake script before they reach NSIS: quotes and backslashes
# are escaped once for that.)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr HKCR '.orbix' '' 'Orbix.Trabalho'
  WriteRegStr HKCR 'Orbix.Trabalho' '' 'Trabalho do Orbix'
  WriteRegStr HKCR 'Orbix.Trabalho\\DefaultIcon' '' '$INSTDIR\\bin\\orbix.exe,0'
  WriteRegStr HKCR 'Orbix.Trabalho\\shell\\open\\command' '' '\"$INSTDIR\\bin\\orbix.exe\" \"%1\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey HKCR '.orbix'
  DeleteRegKey HKCR 'Orbix.Trabalho'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
include(CPack)
