# The browser build (configured with emcmake): the program on the web host, written to
# PILO_WEB_DIR as index.html, pilo.js and pilo.wasm. No tests, benchmarks, GoogleTest, SDL or
# libpng; resources go in as on the desktop (windres runs on the build machine).
set(PILO_WEB_DIR ${CMAKE_BINARY_DIR}/page CACHE PATH "Where the page and its files go")
pilo_add_subdirectories(${PILO_PROGRAM_AREAS})
