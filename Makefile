# Pilo: `make play` plays the game, `make test` runs every test. Both install what they need.

JOBS ?= 2

.PHONY: all deps build play test test-default test-asan test-fuzz bench golden format clean web web-serve

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

play: build
	@scripts/play

# The Xvfb smoke tests run one at a time and up to three times (presets smoke, smoke-asan).
test: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)
	@JOBS=$(JOBS) scripts/build-web
	@ctest --preset default
	@ctest --preset smoke
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan
	@ctest --preset smoke-asan
	@ctest --preset fuzz

# The browser version: build/web/ holds the page; web-serve serves it on 127.0.0.1.
web: deps
	@JOBS=$(JOBS) scripts/build-web

web-serve: web
	@scripts/web-serve

# Installs the game under PREFIX (and DESTDIR, if given).
.PHONY: install package
PREFIX ?= /usr/local
install: build
	@DESTDIR="$(DESTDIR)" cmake --install build/default --prefix "$(PREFIX)"

# A Debian package of the default build: build/default/pilo_*.deb.
package: build
	@cmake --build --preset default --target package

bench: build
	@scripts/bench

# Rewrites the end-to-end tests' golden pictures from the program as it draws now.
golden: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS) --target test_e2e test_app
	@cd build/default/tests/e2e && PILO_UPDATE_GOLDEN=1 ./test_e2e --gtest_filter='Golden.*:Gameplay.AGamePlayedToItsEnd*'
	@cd build/default/tests/app && PILO_UPDATE_GOLDEN=1 ./test_app --gtest_filter='Program.StartUp*:Program.ToolTips*'

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
