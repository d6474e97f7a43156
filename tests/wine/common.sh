# Sourced by the Wine test scripts.

# winpath PATH: the path as a Wine program sees it (drive Z: is the root).
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

# copy_release EDITION FOLDER: FOLDER becomes a fresh copy of the edition's release folder
# (the program, its zone file and its sounds), as a pilot installs it. Fails, saying so, when
# the cross build made no release folder.
copy_release() {
  local release="$HF_WIN32_BUILD_DIR/release/Hookfast_$1"
  [ -f "$release/Hookfast_$1.exe" ] || { echo "no release folder $release" >&2; return 1; }
  rm -rf "$2" && mkdir -p "$2" && cp -r "$release/." "$2/"
}
