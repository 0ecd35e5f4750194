# Cross-built programs run through Wine, in a prefix of this build's own with the null display driver.
set(TAV_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${TAV_WINE_PREFIX})
