# The packages a user downloads, made with cpack in a build directory:
#   Windows: balvix-<version>-win64.zip    balvix.exe, balvix-grafico.exe, the
#            example config.txt, entrada.txt and escenarios/coche.txt, LEEME.txt and README.txt (notes
#            in Spanish and English), uPlot-LICENSE.txt
#   Linux:   balvix-<version>-Linux.tar.gz the balvix and balvix-grafico
#            programs, the examples, README.md and uPlot-LICENSE.txt
# Everything lies next to the programs in one folder, since they read their
# files from the folder of their executable: unpacked, "balvix int" projects
# the example year at once, and balvix-grafico shows it as a chart. The examples are installed byte for byte (Windows-1252,
# CR LF).
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
  set(balvix_package_notes packaging/LEEME.txt packaging/README.txt)
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME Linux)
  set(balvix_package_notes README.md)
endif()

install(TARGETS balvix balvix-grafico RUNTIME DESTINATION . COMPONENT balvix)
install(FILES examples/config.txt examples/entrada.txt ${balvix_package_notes}
  DESTINATION . COMPONENT balvix)
# The licence of uPlot, which draws the chart of balvix-grafico's pages.
# The example scenario, in the folder the chart program reads them from.
install(FILES examples/escenarios/coche.txt DESTINATION escenarios COMPONENT balvix)
install(FILES third_party/uplot/LICENSE DESTINATION . RENAME uPlot-LICENSE.txt COMPONENT balvix)

set(CPACK_PACKAGE_NAME balvix)
set(CPACK_PACKAGE_VENDOR balvix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME balvix-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_COMPONENTS_ALL balvix)
set(CPACK_STRIP_FILES TRUE)
include(CPack)
