# SPDX-FileCopyrightText: 2026 The Sanoria developers
# SPDX-License-Identifier: GPL-3.0-or-later

SHELL := /bin/bash

# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
DESTDIR ?=
PACKAGE_BUILD ?= $(BUILD)-package
CMAKE_FLAGS ?=

ASAN_BUILD ?= $(BUILD)-asan
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_SECONDS ?= 20
FUZZ_TARGETS = fuzz-xml-catalogue fuzz-xml-halves fuzz-binary-catalogue fuzz-profile fuzz-cli-arguments

.PHONY: all deps configure build run test test-asan fuzz bench install package clean screenshot

all: build

deps:
	@./scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite built with the address and undefined-behaviour sanitizers;
# -O1 and line tables only, which compile in half the time and still name
# the line of a fault.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
	  -DSANORIA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS, from the committed corpus; what it
# learns stays in $(FUZZ_BUILD)/corpus, what it finds in $(FUZZ_BUILD)/artifacts.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSANORIA_WITH_QT=OFF -DSANORIA_BUILD_TESTS=OFF -DSANORIA_BUILD_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@for t in $(FUZZ_TARGETS); do \
	  c=$${t#fuzz-}; mkdir -p $(FUZZ_BUILD)/corpus/$$c; \
	  echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/bin/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- \
	    $(FUZZ_BUILD)/corpus/$$c fuzz/corpus/$$c 2>&1 | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==|SUMMARY|artifact_prefix|Test unit)' ; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DSANORIA_BUILD_TESTS=OFF -DSANORIA_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS) --target sanoria-bench
	$(BUILD)-bench/bin/sanoria-bench

# The prefix is set again each time, so an earlier configuration's never wins.
install: deps
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb in $(BUILD)/: Release, stripped, installing to /usr.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DSANORIA_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB -B $(abspath $(BUILD))

# Pictures of the window for the README and the help page.
screenshot: build
	./scripts/pictures

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(PACKAGE_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
