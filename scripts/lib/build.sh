# configure_preset PRESET [ARGS...]: `cmake --preset`, after clearing the
# cache of a tree that another generator made (the presets now use Ninja,
# and CMake will not switch a tree's generator itself).
configure_preset() {
  local dir
  dir=$(awk -v name="\"name\": \"$1\"" 'index($0, name) { found = 1 }
    found && /"binaryDir"/ { sub(/.*\$\{sourceDir\}\//, ""); sub(/",?$/, ""); print; exit }' CMakePresets.json)
  if [ -n "$dir" ] && [ -f "$dir/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  cmake --preset "$@"
}
