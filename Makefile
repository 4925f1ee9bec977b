# Thin wrapper over CMake. `make run` and `make test` install what is missing.
BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES  = qt6-base-dev qt6-base-dev-tools cmake g++ make ninja-build fonts-vlgothic xvfb xauth
BENCH_PACKAGES = libgif-dev
FUZZ_PACKAGES  = clang libclang-rt-dev

.PHONY: deps bench-deps build run test bench fuzz clean

deps:
	@./tools/install-packages.sh $(PACKAGES)

bench-deps:
	@./tools/install-packages.sh $(BENCH_PACKAGES)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@./tools/run-designer.sh $(BUILD)/bin/notavell2-designer

test: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps bench-deps build
	cmake --build $(BUILD) -j $(JOBS) --target run-benchmarks

fuzz:
	@./tools/install-packages.sh $(FUZZ_PACKAGES)
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DNOTAVELL2_FUZZ=ON -DNOTAVELL2_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf $(BUILD)
