# ORV's commands. The work is done by scripts/*.sh; each installs what it needs first.
#   make run [FILE=path]   build ORV32.EXE and run it under Wine
#   make check             build everything and run every test suite
#   make bench             build and run the benchmarks (natively, then the view, the
#                          directory window, the editor, the disk search and printing under Wine)
#   make fuzz              fuzz the file engine (FUZZ_TARGET=find: the find pattern model)
#                          for FUZZ_SECONDS (default 300)

FILE ?=
FUZZ_SECONDS ?= 300
# Which fuzz target: engine, find, ps (the PostScript print-file reader) or helpfile.
FUZZ_TARGET ?= engine
# Where new fuzz inputs go; FUZZ_NEW=fuzz/corpus/engine keeps them in the repository's corpus.
FUZZ_NEW ?= build/fuzz/new/$(FUZZ_TARGET)

.PHONY: run check bench fuzz native win32 win64 clean

run:
	@scripts/run.sh $(if $(FILE),"$(FILE)")

check:
	@scripts/check.sh

bench:
	scripts/deps.sh bench
	scripts/build.sh bench
	build/bench/bench/orv_bench
	scripts/viewbench.sh --wine-only
	scripts/dirbench.sh
	scripts/editbench.sh
	scripts/searchbench.sh --wine-only
	scripts/printbench.sh

fuzz:
	scripts/deps.sh build
	scripts/build.sh native
	mkdir -p $(FUZZ_NEW) build/fuzz/artifacts
	build/native/fuzz/$(FUZZ_TARGET)_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=20 \
	    -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/artifacts/$(FUZZ_TARGET)- $(FUZZ_NEW) fuzz/corpus/$(FUZZ_TARGET)

# Single trees, for working on the code.
native win32 win64:
	scripts/deps.sh build
	scripts/build.sh $@

clean:
	rm -rf build out
