# The commands of the README. Programs land in build/bin/.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# Let ccache share results between clones and worktrees in different folders.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: deps configure build test bench fuzz clean demo

deps:
	scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The demo company behind a local zk_server, and the client (a scripted tour without display).
demo:
	BUILD=$(BUILD) scripts/demo.sh

test: build
	scripts/run-tests.sh $(BUILD)

bench: configure
	cmake --build $(BUILD) -j $(JOBS)
	scripts/run-bench.sh $(BUILD)

# libFuzzer targets, built with clang in their own folder, each run for FUZZ_SECONDS.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DZK_FUZZ=ON -DZK_BUILD_TESTS=OFF -DZK_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target zk_fuzzers
	fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
