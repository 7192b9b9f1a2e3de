# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench install clean screenshot

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

install: build
	cmake --install $(BUILD)

# Pictures of the window for the README and the help page.
screenshot: build
	./scripts/pictures

clean:
	rm -rf $(BUILD) $(BUILD)-bench
