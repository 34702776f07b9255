# Top-level commands. Each installs what it needs first (tools/install-deps.sh).
BUILD   := $(CURDIR)/build
NATIVE  := $(BUILD)/native
WIN32   := $(BUILD)/win32
JOBS    ?= $(shell nproc)

.PHONY: all deps native win32 build programs test unit demo dist repro check-release bench clean

CONFIGURE_NATIVE = cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESKOR_WIN32_BIN=$(WIN32)/bin >/dev/null
CONFIGURE_WIN32  = cmake -S . -B $(WIN32) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DVESKOR_ICONGEN=$(NATIVE)/icongen >/dev/null

all: build

deps:
	@./tools/install-deps.sh

native: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(NATIVE) -j $(JOBS)

win32: native
	@$(CONFIGURE_WIN32)
	@cmake --build $(WIN32) -j $(JOBS)

# Only what the release needs: the native generators (icons, PIF template) and the three programs.
programs: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(NATIVE) -j $(JOBS) --target icongen pifgen
	@$(CONFIGURE_WIN32)
	@cmake --build $(WIN32) -j $(JOBS) --target veskor zmv veskorcfg

build: native win32

test: build
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

unit: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS) -R '^(unit|sanitized)\.'

demo: build
	@./tools/demo.sh $(BUILD)

bench: build
	@./tools/bench.sh $(BUILD)

dist: programs
	@./tools/dist.sh $(WIN32)/bin $(CURDIR)/dist

# Checks a release folder (RELEASE, default dist): SHA256SUMS, each program's
# signature (against the CA file CA when given) and that each is the unsigned
# reproducible build of the checked-out commit plus a signature (made here from
# the Windows build, or the unsigned release folder REFERENCE).
check-release: $(if $(REFERENCE),deps,programs)
	@./tools/check-release.sh $(if $(CA),--ca $(CA)) $(if $(TSA_CA),--tsa-ca $(TSA_CA)) \
	    $(if $(REFERENCE),--reference $(REFERENCE),--bin $(WIN32)/bin) $(or $(RELEASE),dist)

# Builds the release of the current commit twice, in two fresh clones in
# different folders, and compares the bytes.
repro: deps
	@./tools/repro.sh $(BUILD)/repro

clean:
	rm -rf $(BUILD) dist
