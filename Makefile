# The two set-up commands: `make demo` and `make test`. Everything else is here
# for developers.
JOBS ?= $(shell nproc)
PRESETS = native native-asan win64

STUDIO_PORT ?= 8018

.PHONY: demo test deps build $(addprefix build-,$(PRESETS)) \
        build-studio studio test-studio bench-studio screenshots fuzz bench clean

deps:
	scripts/install-deps

build: $(addprefix build-,$(PRESETS))

$(addprefix build-,$(PRESETS)): build-%: deps
	cmake --preset $* >/dev/null
	cmake --build --preset $* -j $(JOBS)

# Of the native preset, make test builds the packer that the other builds use:
# its tests are the sanitized build's, which runs them under AddressSanitizer
# and UndefinedBehaviorSanitizer. The Windows suite starts once its build is
# made; the other builds and suites run beside it (scripts/run-tests says why).
test: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS) --target tevra-pack
	$(MAKE) --no-print-directory build-win64
	JOBS=$(JOBS) scripts/run-tests

# The studio page, in build/studio/: the packer in WebAssembly, carrying the
# player of the win64 build (built there first when missing, as for the native
# presets).
build-studio: deps
	cmake --preset studio >/dev/null
	cmake --build --preset studio -j $(JOBS)

studio: build-studio
	@echo "Tevra Studio: http://127.0.0.1:$(STUDIO_PORT)/ (Ctrl-C stops it)"
	python3 -m http.server --bind 127.0.0.1 --directory build/studio $(STUDIO_PORT)

# The studio's tests need the native packer to compare with.
test-studio: build-native build-studio
	node --test studio/tests/

bench-studio: build-studio
	node studio/bench/studio_bench.mjs

demo: build-win64
	scripts/demo

screenshots: build-win64
	scripts/screenshots

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@echo "fuzz targets: build/fuzz/fuzz/ (run one with scripts/fuzz NAME SECONDS)"

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/*_bench; do $$b; done

clean:
	rm -rf build
