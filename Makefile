# Trevalon: top-level driver.  `make check` is the one command CI runs.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build and the tests need.  Checked one by one so that
# `make deps` costs one dpkg-query when everything is present.
DEB_BUILD := g++ cmake make libgtest-dev libbenchmark-dev \
             libmotif-dev libxt-dev libx11-dev libxtst-dev libxmu-dev
DEB_TEST  := xvfb mwm xfonts-base xfonts-75dpi xfonts-100dpi ncompress gzip \
             libarchive-tools python3 \
             xterm imagemagick x11-apps groff-base man-db
DEB_FUZZ  := clang libclang-rt-14-dev

.PHONY: all deps deps-fuzz build check test bench fuzz install demo clean

all: build

deps:
	@tools/ensure-debs $(DEB_BUILD) $(DEB_TEST)

deps-fuzz:
	@tools/ensure-debs $(DEB_FUZZ)

# The generated Makefile marks a finished configure: a configure that failed
# (say, before `make deps`) leaves a cache behind but no Makefile.
$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# Every test layer: unit tests, program tests and GUI tests.  GUI tests start
# their own private Xvfb and mwm, so no display is needed here.
check: deps
	$(MAKE) build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 900

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	$(MAKE) build
	tools/run-bench $(BUILD)

# libFuzzer targets under AddressSanitizer and UndefinedBehaviorSanitizer,
# each run for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: deps deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DTREV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzzers
	tools/run-fuzz $(BUILD)-fuzz $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The demo installer: on the display when there is one, else unattended on a
# private X server with a screenshot of every window in $(BUILD)/screens.
# Builds only what the demo needs.
demo: deps
	$(MAKE) $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target demo-walk
	demo/run-demo $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz
