# Top-level commands. Each installs what it needs first (tools/install-deps.sh).
BUILD   := $(CURDIR)/build
NATIVE  := $(BUILD)/native
WIN32   := $(BUILD)/win32
JOBS    ?= $(shell nproc)

.PHONY: all deps native win32 build test unit demo dist bench clean

all: build

deps:
	@./tools/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKOR_WIN32_BIN=$(WIN32)/bin >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win32: native
	@cmake -S . -B $(WIN32) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DVESKOR_ICONGEN=$(NATIVE)/icongen >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

build: native win32

test: build
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

unit: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -R '^(unit|sanitized)\.'

demo: build
	@./tools/demo.sh $(BUILD)

bench: build
	@./tools/bench.sh $(BUILD)

dist: build
	@./tools/dist.sh $(WIN32)/bin $(CURDIR)/dist

clean:
	rm -rf $(BUILD) dist
