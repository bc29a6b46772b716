# A thin layer over CMake: `make run` builds and starts the program,
# `make test` builds and runs every test, `make install GAME=<folder>`
# installs the program into the game's folder (scripts/install-linux.sh),
# `make windows` builds the program and every test for Windows and runs them
# under Wine (scripts/test-windows.sh), `make windows-package` then writes
# into dist/ the zip for players and the source of the Qt it links, which
# `make windows-source` writes alone (scripts/package-qt-source.sh).
# A new build folder is configured as RelWithDebInfo; an existing one keeps
# its build type unless BUILD_TYPE names one.
#
# Each target first installs with apt-get what it lacks, and only what it
# needs (scripts/install-deps.sh): run, build and install what building the
# program needs; test and asan also the tests' and benchmarks' packages. So
# a player who has the build packages installs without root. A build folder
# that run, build or install configures first builds the program alone; test
# turns on the tests and benchmarks there, and they stay on.
BUILD ?= build
BUILD_TYPE ?=
JOBS ?= 2
CMAKE_FLAGS ?=
GAME ?=

PROGRAM_ONLY = $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DLEXOR_BUILD_TESTS=OFF -DLEXOR_BUILD_BENCH=OFF)
CONFIGURE = cmake -S . -B $(BUILD) $(if $(BUILD_TYPE),-DCMAKE_BUILD_TYPE=$(BUILD_TYPE))

.PHONY: all deps test-deps configure build run test asan install windows windows-package windows-source clean

all: build

deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh test

configure: deps
	$(CONFIGURE) $(PROGRAM_ONLY) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: configure
	cmake --build $(BUILD) --target lexor-tools -j$(JOBS)
	cd $(BUILD)/game && ./lexor-tools

test: test-deps
	$(CONFIGURE) -DLEXOR_BUILD_TESTS=ON -DLEXOR_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

asan:
	$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug CMAKE_FLAGS="-DLEXOR_SANITIZE=ON -DLEXOR_BUILD_BENCH=OFF"

install:
	@[ -n "$(GAME)" ] || { echo "Name the game's folder: make install GAME=~/Giochi/LEXOR" >&2; exit 2; }
	@$(MAKE) --no-print-directory configure
	cmake --build $(BUILD) --target lexor-tools -j$(JOBS)
	scripts/install-linux.sh "$(GAME)" $(BUILD)

windows:
	scripts/test-windows.sh

windows-package:
	scripts/package-windows.sh

windows-source:
	scripts/package-qt-source.sh

clean:
	rm -rf build build-asan build-win build-rel build-fuzz build-qt-source build-core-win dist
