#include "controls/input_log_plugin.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "controls/lua_plugin.h"

namespace {
constexpr const char* kLogBody = R"lua(
local exports = {
  name = 'korvo_diag',
  version = '1.0.0',
  description = 'Korvo input log',
  license = 'BSD-3-Clause',
  author = {name = 'Korvo'}
}

function exports.startplugin()
  local n = 0
  local lines = 0
  local watched = {}

  -- Opened and closed per line so the log survives MAME being killed;
  -- capped so a long session cannot fill the disk.
  local function log(text)
    if lines > 700 then return end
    lines = lines + 1
    local f = io.open(OUTPATH, 'a')
    if f then
      f:write(text, '\n')
      f:close()
    end
  end

  local function each_part(tokens, fn)
    local start = 1
    while true do
      local s, e = string.find(tokens, ' OR ', start, true)
      local part = string.sub(tokens, start, s and (s - 1) or #tokens)
      if part ~= '' then fn(part) end
      if not s then return end
      start = e + 1
    end
  end

  local function set_up()
    local input = manager.machine.input
    local app = emu.app_name and emu.app_name() or '?'
    local version = emu.app_version and emu.app_version() or ''
    log('MAME ' .. tostring(app) .. ' ' .. tostring(version))
    for cname, class in pairs(input.device_classes) do
      local count = 0
      for _, dev in pairs(class.devices) do
        count = count + 1
        local line = 'device ' .. cname .. ' #' .. tostring(dev.devindex) .. ' ' .. tostring(dev.name)
        if cname == 'joystick' then line = line .. ' (JOYCODE_' .. tostring(dev.devindex + 1) .. ')' end
        log(line)
        if cname == 'joystick' then
          for _, item in pairs(dev.items) do
            log('  item ' .. tostring(item.name) .. ' = ' .. tostring(item.token))
          end
        end
      end
      log('class ' .. cname .. ': ' .. count .. ' devices, enabled=' .. tostring(class.enabled))
    end
    for tag, port in pairs(manager.machine.ioport.ports) do
      for key, field in pairs(port.fields) do
        local name = field.name or key
        if name:match('^P%d ') or name:find('Coin', 1, true) or name:find('Start', 1, true)
            or name:find('Service', 1, true) then
          local ok, seq = pcall(function() return field:input_seq('standard') end)
          if ok and seq then
            local tokens = input:seq_to_tokens(seq)
            log('field ' .. tag .. ' | ' .. name .. ' = ' .. tokens)
            each_part(tokens, function(part)
              watched[#watched + 1] = {name = name, tokens = part, seq = input:seq_from_tokens(part), pressed = false}
            end)
          end
        end
      end
    end
    log('--- press keys / pad buttons now: every change is logged ---')
  end

  local function watch()
    local input = manager.machine.input
    for _, w in ipairs(watched) do
      local pressed = input:seq_pressed(w.seq)
      if pressed ~= w.pressed then
        w.pressed = pressed
        log('frame ' .. n .. ' ' .. w.name .. ' via ' .. w.tokens .. (pressed and ' PRESSED' or ' released'))
      end
    end
  end

  local function on_frame()
    n = n + 1
    local ok, err = pcall(function()
      if n == 30 then set_up() elseif n > 30 then watch() end
    end)
    if not ok then log('error: ' .. tostring(err)) end
  end

  if emu.add_machine_frame_notifier then
    exports.sub = emu.add_machine_frame_notifier(on_frame)
  elseif emu.register_frame then
    emu.register_frame(on_frame)
  end
end

return exports
)lua";
}  // namespace

std::string InputLogPluginScript(const std::string& outpath) {
  return "local OUTPATH = " + LuaLongString(outpath) + "\n" + (kLogBody + 1);
}

bool WriteInputLogPlugin(std::string& plugin_folder) {
  const std::string search_folder = PluginsPath("korvo-diag-plugin");
  const std::string log_path = LogsPath("korvo-input.log");
  DeleteFileAt(log_path);
  if (!WriteLuaPlugin(search_folder, "korvo_diag", InputLogPluginScript(ShortUtf8Path(log_path)),
                      PluginJson("korvo_diag", "Korvo input log")))
    return false;
  plugin_folder = search_folder;
  return true;
}
