# The commands of the README. Programs land in build/bin/.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test bench fuzz clean

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	scripts/run-tests.sh $(BUILD)

bench: configure
	cmake --build $(BUILD) -j $(JOBS)
	scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
