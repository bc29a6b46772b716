# A thin layer over CMake: `make run` builds and starts the program,
# `make test` builds and runs every test, `make windows` builds the program
# and every test for Windows and runs them under Wine (scripts/test-windows.sh),
# `make windows-package` then writes the zip for players into dist/.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test asan windows windows-package clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./lexor-tools

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

asan:
	$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug CMAKE_FLAGS="-DLEXOR_SANITIZE=ON -DLEXOR_BUILD_BENCH=OFF"

windows:
	scripts/test-windows.sh

windows-package:
	scripts/package-windows.sh

clean:
	rm -rf build build-asan build-win dist
