# SPDX-FileCopyrightText: 2026 The Sanoria developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
DESTDIR ?=
PACKAGE_BUILD ?= $(BUILD)-package
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench install package clean screenshot

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
	rm -rf $(BUILD) $(BUILD)-bench $(PACKAGE_BUILD)
