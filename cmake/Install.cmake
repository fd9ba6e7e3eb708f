# Installed layout: the program in bin/, what ships beside it in share/tolvu/
# (found there through DataPath()), and the desktop integration files.
include(GNUInstallDirs)

set(TOLVU_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tolvu)
set(TOLVU_STAGE ${CMAKE_BINARY_DIR}/bin)
set(TOLVU_DESKTOP ${CMAKE_SOURCE_DIR}/data/desktop)
set(TOLVU_APP_ID app.tolvu.Tolvu)

install(TARGETS tolvu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${TOLVU_STAGE}/Station.dat ${TOLVU_STAGE}/Zone.dat ${TOLVU_STAGE}/USCtyZip.csv
        DESTINATION ${TOLVU_DATA_INSTALL_DIR})
# The art build may fall back to fewer pictures; install what it made.
install(FILES ${TOLVU_STAGE}/Services.rcc DESTINATION ${TOLVU_DATA_INSTALL_DIR} OPTIONAL)
foreach(folder Lang Sound Images)
  install(DIRECTORY ${TOLVU_STAGE}/${folder} DESTINATION ${TOLVU_DATA_INSTALL_DIR} OPTIONAL)
endforeach()

install(FILES ${TOLVU_DESKTOP}/${TOLVU_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TOLVU_DESKTOP}/${TOLVU_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TOLVU_DESKTOP}/${TOLVU_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/THIRD-PARTY-NOTICES.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvu)

# Bitmap icons for the hicolor sizes, drawn from the SVG once per build tree.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_outputs)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}/${TOLVU_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${TOLVU_DESKTOP}/${TOLVU_APP_ID}.svg
      DEPENDS ${TOLVU_DESKTOP}/${TOLVU_APP_ID}.svg VERBATIM)
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(tolvu_icons ALL DEPENDS ${icon_outputs})
else()
  message(STATUS "rsvg-convert not found: only the scalable icon is installed")
endif()

# Debian package: `make package` (cpack -G DEB in the build tree).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvu)
set(CPACK_PACKAGE_VENDOR "Tolvu")
set(CPACK_PACKAGE_CONTACT "Tolvu developers <tolvu@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop weather: conditions, forecasts, alerts and radar")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Desktop weather program for the US National Weather Service and AccuWeather.\n Shows current conditions on gauges, a day and night forecast strip, alerts\n with pop-ups, sounds and a tray icon, and radar imagery.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Images and plugins Qt loads at run time, which shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, qt6-svg-plugins, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
