# Trevalon: top-level driver.  `make check` is the one command CI runs.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build and the tests need.  Checked one by one so that
# `make deps` costs one dpkg-query when everything is present.
DEB_BUILD := g++ cmake make libgtest-dev libbenchmark-dev \
             libmotif-dev libxt-dev libx11-dev libxtst-dev libxmu-dev dpkg-dev file
DEB_TEST  := xvfb mwm xfonts-base xfonts-75dpi xfonts-100dpi ncompress gzip \
             libarchive-tools python3 locales \
             xterm imagemagick x11-apps groff-base man-db lintian
DEB_FUZZ  := clang libclang-rt-14-dev

.PHONY: all deps deps-fuzz build check test bench fuzz mutants install deb demo clean

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
	$(MAKE) $(BUILD)/Makefile
	cmake -S . -B $(BUILD) -DTREV_WERROR=ON
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

# Planted faults (tests/mutants/*.list) that the tests must catch: each is
# built and tested in a copy of the tree, $(BUILD)-mutants; the survivors are
# reported.  MUTANTS=id,id runs only those.
mutants: deps
	tools/run-mutants $(BUILD) tests/mutants/*.list $(if $(MUTANTS),--only $(MUTANTS))

# The prefix is set at configure time: the app-defaults directory below it
# (<prefix>/etc/X11/app-defaults, /etc/X11/app-defaults for /usr) is where
# the programs look for their files.
install: $(BUILD)/Makefile
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD)

# The Debian package, from a build tree of its own: prefix /usr (so that the
# programs look for their app-defaults files where the package puts them),
# Debian's hardened build flags, no tests.  The .deb lands in $(DEB_TREE).
DEB_TREE  ?= $(BUILD)-deb
DEB_FLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
deb: deps
	cmake -S . -B $(DEB_TREE) -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	  -DTREV_TESTS=OFF -DTREV_BENCH=OFF \
	  -DCMAKE_C_FLAGS="$$($(DEB_FLAGS) CFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
	  -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CXXFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build $(DEB_TREE) -j $(JOBS)
	cd $(DEB_TREE) && cpack

# The demo installer: on the display when there is one, else unattended on a
# private X server with a screenshot of every window in $(BUILD)/screens.
# Builds only what the demo needs.
demo: deps
	$(MAKE) $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target demo-walk
	demo/run-demo $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz
