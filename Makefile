# Top-level commands:
#   make run    build, then open the editor on the sample script (virtual display + screenshot
#               when there is no display)
#   make test   install what is missing, build every target and run every test
#   make bench  benchmarks against peer tools measured in the same run
#   make soak   random user actions on the real editor under Wine (SOAK_ACTIONS, SOAK_SEED)
#   make dist   the 32-bit release in $(DIST): a zip archive and a setup program
B := build
DIST := dist
JOBS ?= 2
CMAKE_GEN := -G Ninja
CTEST := ctest --output-on-failure -j $(JOBS)

.PHONY: all deps native asan win64 win32 test test-native test-asan test-win64 test-win32 run bench fuzz soak dist \
        clean format

all: native win64 win32

deps:
	@bash scripts/install-deps.sh

$(B)/native/build.ninja: | deps
	cmake -S . -B $(B)/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
$(B)/asan/build.ninja: | deps
	CC=clang CXX=clang++ cmake -S . -B $(B)/asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	    -DZAVODO_SANITIZE=ON -DZAVODO_FUZZ=ON
$(B)/win64/build.ninja: | deps
	cmake -S . -B $(B)/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake
$(B)/win32/build.ninja: | deps
	cmake -S . -B $(B)/win32 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake

native: $(B)/native/build.ninja
	cmake --build $(B)/native -j $(JOBS)
asan: $(B)/asan/build.ninja
	cmake --build $(B)/asan -j $(JOBS)
win64: $(B)/win64/build.ninja
	cmake --build $(B)/win64 -j $(JOBS)
win32: $(B)/win32/build.ninja
	cmake --build $(B)/win32 -j $(JOBS)

test-native: native
	cd $(B)/native && $(CTEST)
test-asan: asan
	cd $(B)/asan && $(CTEST)
test-win64: win64
	scripts/with-wine-session sh -c 'cd $(B)/win64 && $(CTEST)'
test-win32: win32
	cd $(B)/win32 && $(CTEST)

# Every suite runs even when an earlier one fails; the summary says which failed.
test: deps native asan win64 win32
	@bash scripts/run-all-tests.sh $(B)

run: win64
	@bash scripts/run-editor.sh $(B)

bench: native win64
	@bash scripts/run-bench.sh $(B)

# Every fuzz target for FUZZ_SECONDS (default 60) each; the total number of executions.
fuzz: asan
	@bash scripts/run-fuzz.sh $(B)

SOAK_ACTIONS ?= 20000
soak: win64
	ZAVODO_BUILD=$(abspath $(B)) scripts/with-wine-session bash tests/e2e/soak.sh $(abspath $(B))/win64 $(SOAK_ACTIONS)

# zavodo-<version>-win32.zip and zavodo-<version>-setup.exe, the version from the file VERSION.
dist: deps win32
	@bash scripts/make-dist.sh $(B) $(DIST)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(B)
