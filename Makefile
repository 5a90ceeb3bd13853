# Tintwell: `make run` builds and starts the program, `make test` runs every
# test layer. Both install what is missing first (Debian 12, as root).
#
# Two Windows builds come from the same sources: win32 (i686) and win64
# (x86-64). Both are always built; scripts/wine-for.sh decides which of them
# this machine can run under Wine (the 32-bit one needs a kernel that runs
# 32-bit programs) and which Wine runs each, and the targets that run
# programs run each build it allows, saying so in one line where that is the
# 64-bit one alone.
BUILD      := build
HOST       := $(BUILD)/host
BENCH      := $(BUILD)/bench
JOBS       ?= $(shell nproc)
# The builds this machine runs, "win32 win64" or "win64", asked in the shell
# of each recipe that needs it. Where that is the 64-bit one alone, the asking
# says so in one line, once a command: prerequisites ask quietly, and `test`
# says it before its steps, which then ask quietly too.
RUNNABLE   := $$(bash scripts/wine-for.sh --builds)
QUIETLY    := TINTWELL_BUILDS_SAID=1
# The first of them: what `make run` and `make screenshots` start.
PREFERRED  := $$(set -- $(RUNNABLE); echo $$1)

.PHONY: all setup prefix build host win32 win64 exe dist run screenshots test unit-host \
        unit-wine e2e release-check bench format clean

all: build

setup:
	@bash scripts/setup.sh

build: host win32 win64

host: setup
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug -DTINTWELL_BENCH=OFF >/dev/null
	@cmake --build $(HOST) -j $(JOBS)

# configure BUILD_DIR TOOLCHAIN_NAME
configure = cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-$(2).cmake) >/dev/null

win32: setup
	@$(call configure,$(BUILD)/win32,i686)
	@cmake --build $(BUILD)/win32 -j $(JOBS)

win64: setup
	@$(call configure,$(BUILD)/win64,x86_64)
	@cmake --build $(BUILD)/win64 -j $(JOBS)

# The programs alone, in the trees the tests use: what a release holds.
exe: setup
	@$(call configure,$(BUILD)/win32,i686)
	@cmake --build $(BUILD)/win32 --target Tintwell -j $(JOBS)
	@$(call configure,$(BUILD)/win64,x86_64)
	@cmake --build $(BUILD)/win64 --target Tintwell -j $(JOBS)

dist: exe
	@bash scripts/dist.sh $(BUILD)/win32 $(BUILD)/win64 dist

# Quick when the prefixes are up to date; brings older ones up to date.
prefix: setup
	@export $(QUIETLY); for b in $(RUNNABLE); do bash scripts/wine-prefix.sh $${b#win} || exit 1; done

run: build prefix
	@b=$(PREFERRED); bash scripts/run.sh $(BUILD)/$$b/Tintwell.exe $(BUILD)/screenshot.png

# The README's pictures: the window at 100 % and at 150 %, the Copy menu, the
# recent colours' menu, and a nudged pick with the loupe at two zooms, each
# from a private Xvfb.
screenshots: build prefix
	@exe=$(BUILD)/$(PREFERRED)/Tintwell.exe; \
	DISPLAY= bash scripts/run.sh $$exe docs/screenshot.png window && \
	DISPLAY= bash scripts/run.sh $$exe docs/screenshot-144.png window 144 && \
	for scene in menu recent pick loupe; do \
	    DISPLAY= bash scripts/run.sh $$exe docs/screenshot-$$scene.png $$scene || exit 1; done

unit-host: host
	@cd $(HOST) && ctest --output-on-failure --verbose

unit-wine: win32 win64 prefix
	@rc=0; for b in $(RUNNABLE); do bash scripts/unit-wine.sh $(BUILD)/$$b || rc=1; done; exit $$rc

e2e: win32 win64 prefix
	@rc=0; for b in $(RUNNABLE); do bash scripts/e2e.sh $(BUILD)/$$b || rc=1; done; exit $$rc

release-check: exe
	@JOBS=$(JOBS) bash scripts/release-check.sh $(BUILD)/win32/Tintwell.exe \
	    $(BUILD)/win64/Tintwell.exe

test: setup
	@bash scripts/wine-for.sh --builds >/dev/null
	@bash scripts/check-includes.sh
	@$(MAKE) --no-print-directory unit-host
	@$(QUIETLY) $(MAKE) --no-print-directory unit-wine
	@$(QUIETLY) $(MAKE) --no-print-directory e2e
	@$(MAKE) --no-print-directory release-check

bench: setup build prefix
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DTINTWELL_TESTS=OFF -DTINTWELL_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	$(BENCH)/bench/pass_bench --benchmark_counters_tabular=true
	@rc=0; for b in $(RUNNABLE); do bash scripts/bench.sh $(BUILD)/$$b || rc=1; done; exit $$rc

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
