# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: bootstrap configure build run test bench install package clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: bootstrap $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-program $(BUILD)/bin/vorlane

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# `make install PREFIX=~/.local` (DESTDIR works too); `make package` writes the .deb into $(BUILD).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cmake --build $(BUILD) --target package

bench: build
	$(BUILD)/bin/vorlane_bench

clean:
	rm -rf $(BUILD)
