# The two commands a newcomer needs are `make run` and `make test`; each does
# its own set-up. The other targets are for development (see README.md).

BUILD ?= build
SAN_BUILD ?= build-sanitize
CLANG_BUILD ?= build-clang
FUZZ_BUILD ?= build-fuzz
RELEASE_BUILD ?= build-release
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps build build-release run test test-clang test-sanitize bench fuzz soak install deb deb-check try-ime try-fcitx5 format format-check clean

all: build

deps:
	@scripts/ensure-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# The program and its tools as a distribution builds them: optimised
# (Release, -O3) with Debian's default hardening flags (dpkg-buildflags:
# fortified sources, stack protector, relro). No tests or benchmarks: this
# checks that such a build compiles cleanly, which -Werror in CI makes strict.
build-release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DLEKHORA_TESTS=OFF \
	  -DLEKHORA_BENCHMARKS=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_MODULE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same full build and tests with clang++, which warns about other things
# than g++ does; CI makes warnings fail both builds.
test-clang:
	@scripts/ensure-deps.sh --with-clang
	cmake -S . -B $(CLANG_BUILD) -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build $(CLANG_BUILD) -j $(JOBS)
	ctest --test-dir $(CLANG_BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DLEKHORA_SANITIZE=ON -DLEKHORA_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@scripts/run-benchmarks.sh $(BUILD)

fuzz:
	@scripts/ensure-deps.sh --with-fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DLEKHORA_FUZZ=ON -DLEKHORA_WITH_QT=OFF -DLEKHORA_TESTS=OFF -DLEKHORA_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The real pad under AddressSanitizer on a virtual display, fed random input
# for SOAK_MINUTES (default 10); not part of make test.
soak: deps
	cmake -S . -B $(SAN_BUILD) -DLEKHORA_SANITIZE=ON -DLEKHORA_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(SAN_BUILD) -j $(JOBS) --target lekhora lekhora-convert lekhora_data
	tests/soak/soak.sh $(SAN_BUILD)

install: build
	$(if $(PREFIX),LEKHORA_IBUS_UNDER_PREFIX=1 )cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# The Debian packages (lekhora, ibus-lekhora), built by dpkg-buildpackage from
# a clean copy of the tree with the distribution's flags, into DEB_DIR.
DEB_DIR ?= dist
deb:
	@scripts/ensure-deps.sh --with-deb
	scripts/build-deb.sh $(DEB_DIR) $(JOBS)

# lintian, the packages' files and dependencies, the desktop entry and the
# IBus component, and the packaged programs run from a scratch root.
deb-check:
	@scripts/ensure-deps.sh --with-deb
	scripts/check-deb.sh $(DEB_DIR)

# The input method from the build tree in a private IBus session on this display.
try-ime: build
	@scripts/try-ime.sh $(BUILD)

# The fcitx5 addon from the build tree in a private fcitx5 on this display.
try-fcitx5: build
	@scripts/try-fcitx5.sh $(BUILD)

format:
	@scripts/ensure-deps.sh --with-format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@scripts/ensure-deps.sh --with-format
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(CLANG_BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD) $(DEB_DIR)
