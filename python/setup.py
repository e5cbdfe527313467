# Builds the extension module brevant._brevant from the library's own sources and the binding, so that a
# fresh clone installs with Debian's setuptools and pybind11 alone:
#
#   /usr/bin/python3 -m pip install --no-build-isolation --break-system-packages ./python
import glob
import os

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup

# setuptools takes source paths relative to this directory only.
os.chdir(os.path.dirname(os.path.abspath(__file__)))

library_sources = sorted(path for layer in ("platform", "ini", "hoop") for path in glob.glob(f"../{layer}/*.cpp"))
if not library_sources:
    raise SystemExit("brevant: the library sources are not beside python/; install from a clone of the repository")

# Both cores of a small machine compile the library's files side by side.
ParallelCompile("BREVANT_BUILD_JOBS", default=0).install()

extension = Pybind11Extension(
    "brevant._brevant",
    ["src/module.cpp"] + library_sources,
    include_dirs=[os.path.abspath("../include"), os.path.abspath("..")],
    # A changed header rebuilds the module too.
    depends=sorted(glob.glob("../include/brevant/*") + glob.glob("../*/*.h")),
    cxx_std=17,
    # No debug information keeps the build short; rotations need exact double arithmetic.
    extra_compile_args=["-g0", "-ffp-contract=off"],
)

setup(ext_modules=[extension], cmdclass={"build_ext": build_ext})
