# Thin wrapper over CMake presets: every target installs and builds what it needs.
JOBS ?= $(shell nproc)

.PHONY: deps configure build run demo test test-asan fuzz bench format format-check install deb clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@test -f build/build.ninja || cmake --preset default

build: configure
	cmake --build --preset default -j $(JOBS)

run: build
	cd build/bin && ./vitacraft

# The sample résumé needs only the command-line tool and the sample file.
demo: configure
	cmake --build --preset default -j $(JOBS) --target vitacraft-cli sample_resume
	build/bin/vitacraft-cli export build/bin/sample.vcw build/bin/sample-resume.doc
	@echo "$(CURDIR)/build/bin/sample-resume.doc"

test: build
	ctest --preset default -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer; any
# report fails the run.
test-asan: deps
	@test -f build-asan/build.ninja || cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The benchmark programs, then the side-by-side comparison with the peer engines.
bench: build
	build/bin/vitacraft-bench
	bash bench/compare.sh
	bash bench/pdf.sh

# The libFuzzer targets of fuzz/, each run for FUZZ_SECONDS from its seeds.
FUZZ_SECONDS ?= 60
fuzz: deps
	@test -f build-fuzz/build.ninja || CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja
	cmake --build build-fuzz -j $(JOBS)
	fuzz/run.sh $(FUZZ_SECONDS)

# Every C++ file of the program, its tests, benchmarks and fuzz targets, in the
# repository's .clang-format style.
FORMAT_FILES = $(shell git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')

format:
	clang-format -i $(FORMAT_FILES)

format-check:
	clang-format --dry-run -Werror $(FORMAT_FILES)

# The release build installed under PREFIX; DESTDIR stages it elsewhere, as
# packagers do.
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)"

# The Debian package, built in build-deb/ with the unit tests run, collected in
# dist/ with its .buildinfo and .changes. The package takes its version from
# debian/changelog, which must follow the project's version.
VERSION = $(shell sed -n 's/^project.Vitacraft VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb: deps
	@packaged=$$(dpkg-parsechangelog -S Version); \
	if [ "$${packaged%-*}" != "$(VERSION)" ]; then \
	  echo "debian/changelog is at $$packaged, the project at $(VERSION): add a changelog entry" >&2; \
	  exit 1; \
	fi
	DEB_BUILD_OPTIONS="parallel=$(JOBS) $(DEB_BUILD_OPTIONS)" dpkg-buildpackage -b -us -uc
	mkdir -p dist
	for f in $$(cut -d' ' -f1 debian/files) $$(basename -a ../vitacraft_$(VERSION)-*.changes); do \
	  mv "../$$f" dist/; \
	done
	@ls dist/vitacraft_$(VERSION)-*_*.deb

clean:
	rm -rf build build-asan build-fuzz build-deb dist
