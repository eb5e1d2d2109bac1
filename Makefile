# The two commands: `make run` and `make test`. Everything else is a helper target.
SHELL := /bin/bash
ROOT := $(abspath $(dir $(lastword $(MAKEFILE_LIST))))
JOBS ?= $(shell nproc)
export CCACHE_BASEDIR := $(ROOT)
export CCACHE_DIR ?= $(HOME)/.cache/rux-ccache
export CCACHE_MAXSIZE ?= 5G

REL := build/release
DBG := build/asan
FUZ := build/fuzz

.PHONY: run test deps build build-test build-fuzz fuzz bench clean

deps:
	@bash tools/deps.sh

$(REL)/build.ninja: | deps
	cmake -S . -B $(REL) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(REL)/build.ninja
	cmake --build $(REL) -j $(JOBS) --target rux

# Opens the bundled example project once it exists; until then the level-select screen.
run: build
	cd $(REL) && ./rux $(RUN_ARGS)

$(DBG)/build.ninja: | deps
	cmake -S . -B $(DBG) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUX_SANITIZE=ON

build-test: deps $(DBG)/build.ninja
	cmake --build $(DBG) -j $(JOBS)

$(FUZ)/build.ninja: | deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZ) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUX_FUZZ=ON

build-fuzz: deps $(FUZ)/build.ninja
	cmake --build $(FUZ) -j $(JOBS)

test: build-test build-fuzz
	bash tools/run-tests.sh $(DBG) $(FUZ)

fuzz: build-fuzz
	FUZZ_SECONDS=$${FUZZ_SECONDS:-60} bash tools/run-fuzz.sh $(FUZ)

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DRUX_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash -c 'for b in build/bench/bench/bench_*; do $$b; done'

clean:
	rm -rf build
