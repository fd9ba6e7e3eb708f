BUILD ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run demo test bench test-sanitize fuzz package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/Tolvu

demo: build
	@bash scripts/demo.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVU_BENCH=ON -DTOLVU_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@for b in $(BUILD)-bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

test-sanitize:
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	$(MAKE) test BUILD=$(BUILD)-asan BUILD_TYPE=Debug CMAKE_FLAGS=-DTOLVU_SANITIZE=ON

# Each libFuzzer target for FUZZ_SECONDS (default 60); findings in $(BUILD)-fuzz/findings/.
fuzz:
	@bash scripts/install-fuzz-deps.sh
	FUZZ_BUILD=$(CURDIR)/$(BUILD)-fuzz JOBS=$(JOBS) bash fuzz/run.sh

# Debian package from a Release build: $(BUILD)/tolvu_<version>_<arch>.deb
package: build
	@bash scripts/install-fuzz-deps.sh package
	desktop-file-validate data/desktop/app.tolvu.Tolvu.desktop
	appstreamcli validate --no-net data/desktop/app.tolvu.Tolvu.metainfo.xml
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan $(BUILD)-fuzz
