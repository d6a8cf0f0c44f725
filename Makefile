# The two commands of the contract: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test e2e bench fuzz test-asan

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/game/zanfor-kelva

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The end-to-end tests alone: the real game under Xvfb.
e2e: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -L e2e --output-on-failure -j$(JOBS)

# The monkey for as long as you like: random real input into the game under
# Xvfb (MONKEY_SECONDS, MONKEY_SEED; ZK_GAME_DIR picks another build's game).
MONKEY_SECONDS ?= 600
MONKEY_SEED ?= 8
.PHONY: monkey
monkey: build
	cd $(BUILD) && MONKEY_SECONDS=$(MONKEY_SECONDS) MONKEY_SEED=$(MONKEY_SEED) \
	  tests/e2e/zk_e2e_tests --gtest_filter='Monkey.*'

bench: build
	@for b in $(BUILD)/bench/zk-bench-*; do \
	  [ -x "$$b" ] || continue; \
	  echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; \
	done

# Whole-program measurements of the game against the floor program, in an
# Xvfb server of their own (BENCH_APP_ARGS: --runs N, --idle SECONDS).
.PHONY: bench-app install-user screenshots
bench-app: build
	@bench/app/run-bench-app $(BUILD) $(BENCH_APP_ARGS)

# Installs into ~/.local: the program directory ~/.local/lib/zanfor-kelva (a
# level file already there, which the editor writes, is never replaced), the
# launcher ~/.local/bin/zanfor-kelva, the desktop entry, icons and metainfo.
install-user: build
	cmake --install $(BUILD) --prefix $(HOME)/.local
	@if command -v update-desktop-database >/dev/null; then \
	  update-desktop-database -q $(HOME)/.local/share/applications || true; fi

# Screenshots of the real game, under Xvfb, into docs/screenshots/.
screenshots: build
	@packaging/with-xvfb 180 packaging/screenshots $(BUILD) docs/screenshots

# Each fuzz target for FUZZ_SECONDS, with clang and libFuzzer in a build of
# its own; the corpora grow in $(FUZZ_BUILD)/corpus/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: deps
	@tests/fuzz/fuzz.sh build $(FUZZ_BUILD)
	@tests/fuzz/fuzz.sh run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The unit and UI tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Any report, leaks included, fails the test it comes from. The tests labelled
# fuzz (the smoke runs), e2e (the real game under Xvfb) and install stay out.
ASAN_BUILD ?= build-asan
ASAN_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
ASAN_ENV = QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(if $(wildcard $(ASAN_BUILD)/CMakeCache.txt),,-G Ninja) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$(ASAN_FLAGS)" \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
	@$(ASAN_ENV) cmake --build $(ASAN_BUILD) -j$(JOBS) --target zk_suites
	cd $(ASAN_BUILD) && $(ASAN_ENV) ctest --output-on-failure -j$(JOBS) -LE '^(fuzz|e2e|install)$$'

# The Debian package build/package/zanfor-kelva_<version>_<arch>.deb (CPack):
# installs under /usr, the launcher in /usr/games. Checked with dpkg-deb and
# lintian afterwards (packaging/check-package).
.PHONY: package
package: build
	@rm -f $(BUILD)/package/zanfor-kelva_*.deb
	cd $(BUILD) && cpack -G DEB
	@packaging/check-package $(BUILD) .
