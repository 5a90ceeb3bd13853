# Tintwell: `make run` builds and starts the program, `make test` runs every
# test layer. Both install what is missing first (Debian 12, as root).
BUILD      := build
HOST       := $(BUILD)/host
WIN        := $(BUILD)/win32
BENCH      := $(BUILD)/bench
JOBS       ?= $(shell nproc)
export WINEPREFIX       ?= $(abspath $(BUILD))/wineprefix
export WINEDEBUG        ?= -all
export WINEDLLOVERRIDES ?= mscoree,mshtml=

.PHONY: all setup prefix build host win32 exe dist run screenshots test unit-host unit-wine e2e \
        release-check bench format clean

all: build

setup:
	@bash scripts/setup.sh

build: host win32

host: setup
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug -DTINTWELL_BENCH=OFF >/dev/null
	@cmake --build $(HOST) -j $(JOBS)

WIN_CONFIGURE = cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-i686.cmake) >/dev/null

win32: setup
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS)

# The program alone, in the tree the tests use: what a release holds.
exe: setup
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) --target Tintwell -j $(JOBS)

dist: exe
	@bash scripts/dist.sh $(WIN) dist

# Quick when the prefix is up to date; brings an older one up to date.
prefix: setup
	@bash scripts/wine-prefix.sh $(WINEPREFIX)

run: win32 prefix
	@bash scripts/run.sh $(WIN)/Tintwell.exe $(BUILD)/screenshot.png

# The README's pictures: the window at 100 % and at 150 %, the Copy menu, and
# a nudged pick with the loupe at two zooms, each from a private Xvfb.
screenshots: win32 prefix
	@bash scripts/wine-prefix.sh $(WINEPREFIX)-144 144
	@DISPLAY= bash scripts/run.sh $(WIN)/Tintwell.exe docs/screenshot.png window
	@DISPLAY= WINEPREFIX=$(WINEPREFIX)-144 bash scripts/run.sh $(WIN)/Tintwell.exe docs/screenshot-144.png window
	@DISPLAY= bash scripts/run.sh $(WIN)/Tintwell.exe docs/screenshot-menu.png menu
	@DISPLAY= bash scripts/run.sh $(WIN)/Tintwell.exe docs/screenshot-pick.png pick
	@DISPLAY= bash scripts/run.sh $(WIN)/Tintwell.exe docs/screenshot-loupe.png loupe

unit-host: host
	@cd $(HOST) && ctest --output-on-failure --verbose

unit-wine: win32 prefix
	@cd $(WIN) && bash ../../scripts/with-xvfb.sh 24 ctest --output-on-failure --verbose; \
	    rc=$$?; wineserver -k 2>/dev/null; exit $$rc

e2e: win32 prefix
	@bash scripts/e2e.sh $(WIN)

release-check: exe
	@JOBS=$(JOBS) bash scripts/release-check.sh $(WIN)/Tintwell.exe

test: setup
	@bash scripts/check-includes.sh
	@$(MAKE) --no-print-directory unit-host
	@$(MAKE) --no-print-directory unit-wine
	@$(MAKE) --no-print-directory e2e
	@$(MAKE) --no-print-directory release-check

bench: setup prefix
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DTINTWELL_TESTS=OFF -DTINTWELL_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@$(MAKE) --no-print-directory win32
	$(BENCH)/bench/pass_bench --benchmark_counters_tabular=true
	wine $(WIN)/bench/pass_timing.exe
	@bash scripts/with-xvfb.sh 24 bash -c 'wine explorer /desktop=tintwell-bench,1024x768 \
	    $(WIN)/bench/loupe_timing.exe; wineserver -k'
	@bash scripts/recolour-fps.sh $(WIN)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
