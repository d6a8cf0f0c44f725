# The two commands of the contract: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench

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
