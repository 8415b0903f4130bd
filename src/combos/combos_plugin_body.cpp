// The frame handler of the korvo_combos plugin. It runs on MAME's emulation
// thread once per frame, so it allocates nothing on an ordinary frame, touches
// only the inputs it pressed itself, and survives any fault of its own.
#include "combos/combos_plugin.h"

const char kCombosPluginBody[] = R"lua(local exports = {name = 'korvo_combos', version = '1.1.0', description = 'Korvo combos', license = 'BSD-3-Clause', author = {name = 'Korvo'}}

-- Mask bits: 0 Up, 1 Down, 2 Left, 3 Right, 4..9 buttons 1..6, 10 Start.
local DIRECTION_BITS = {Up = 0, Down = 1, Left = 2, Right = 3}
-- Machine time comes as a double; a microsecond of slack keeps a step that
-- lasts a whole number of frames from ending a frame late.
local EPSILON_MS = 0.001

function exports.startplugin()
  local log_count = 0
  local function write_line(text)
    local f = io.open(LOGPATH, 'a')
    if f then
      f:write(text, '\n')
      f:close()
    end
  end
  local function log(text)
    if LOGPATH == '' or log_count > 200 then return end
    log_count = log_count + 1
    pcall(write_line, text)
  end

  -- What is known about the running machine; forgotten when it stops, since
  -- its ports and fields go with it.
  local input, fields            -- fields[player][bit] = {field, ...}
  local running, mine            -- running[player] = combo being played; mine[player][bit] = pressed by us
  local was_down, combo_seq      -- per COMBOS row: trigger down on the last frame; parsed trigger (false: not understood)
  local af_seq, af_since         -- per AUTOFIRE row: parsed trigger; time its trigger went down
  local function forget()
    input, fields = nil, nil
    running, mine = {}, {{}, {}}
    was_down, combo_seq, af_seq, af_since = {}, {}, {}, {}
  end
  forget()

  local function classify(name)
    local player, rest = name:match('^P(%d) (.+)$')
    player = tonumber(player)
    if player == 1 or player == 2 then
      local bit = DIRECTION_BITS[rest:match('^Joystick (%a+)$') or rest]
      if bit then return player, bit end
      local n = tonumber(rest:match('Button (%d+)$'))
      if n and n >= 1 and n <= 6 then return player, 3 + n end
      return nil
    end
    player = tonumber(name:match('^(%d) Players? Start$'))
    if player == 1 or player == 2 then return player, 10 end
    return nil
  end

  local function find_fields()
    local found, seen, count = {{}, {}}, {}, 0
    for _, port in pairs(manager.machine.ioport.ports) do
      for key, field in pairs(port.fields) do
        local name = field.name
        if name == nil or name == '' then name = key end
        local player, bit = classify(tostring(name))
        if player and not seen[field] then
          seen[field] = true
          local list = found[player][bit]
          if not list then
            list = {}
            found[player][bit] = list
          end
          list[#list + 1] = field
          count = count + 1
        end
      end
    end
    input = manager.machine.input
    fields = found
    log('fields found: ' .. count)
  end

  local function parse(trig)
    local ok, seq = pcall(input.seq_from_tokens, input, trig)
    if ok and seq ~= nil then return seq end
    return false
  end
  local function seq_name(seq)
    local ok, name = pcall(input.seq_name, input, seq)
    if ok and name ~= nil then return tostring(name) end
    return '?'
  end
  -- A trigger MAME cannot read never fires, and one bad trigger must not
  -- stop the others.
  local function pressed(seq)
    if not seq then return false end
    local ok, down = pcall(input.seq_pressed, input, seq)
    return ok and down == true
  end

  -- Sets the inputs of the mask; clears only those this plugin set, so the
  -- player's own controls keep working.
  local function apply(player, mask)
    local by_bit, pressed_by_us = fields[player], mine[player]
    if mask == 0 and next(pressed_by_us) == nil then return end
    for bit = 0, 10 do
      local list = by_bit[bit]
      if list then
        if (mask & (1 << bit)) ~= 0 then
          for j = 1, #list do list[j]:set_value(1) end
          pressed_by_us[bit] = true
        elseif pressed_by_us[bit] then
          for j = 1, #list do list[j]:clear_value() end
          pressed_by_us[bit] = nil
        end
      end
    end
  end

  local function on_frame()
    if not fields then find_fields() end
    local now = manager.machine.time:as_double() * 1000

    local autofire1, autofire2 = 0, 0
    for i = 1, #AUTOFIRE do
      local row = AUTOFIRE[i]
      local seq = af_seq[i]
      if seq == nil then
        seq = parse(row.trig)
        af_seq[i] = seq
      end
      if pressed(seq) then
        local since = af_since[i]
        if not since then
          since = now
          af_since[i] = now
        end
        if math.floor((now - since + EPSILON_MS) / AF_HALF_MS) % 2 == 0 then
          if row.player == 2 then autofire2 = autofire2 | (1 << row.bit) else autofire1 = autofire1 | (1 << row.bit) end
        end
      else
        af_since[i] = nil
      end
    end

    for player = 1, 2 do
      local run = running[player]
      local mask = 0
      if run then
        local steps = run.steps
        local length = steps[run.index][2]
        if length == 0 then length = STEP_MS end
        if run.applied and now - run.start + EPSILON_MS >= length then
          run.index = run.index + 1
          run.start = now
          run.applied = false
          if run.index > #steps then
            running[player] = nil
            run = nil
            log('combo done')
          end
        end
        if run then
          mask = steps[run.index][1]
          run.applied = true
        end
      end
      apply(player, mask | (player == 1 and autofire1 or autofire2))
    end

    for i = 1, #COMBOS do
      local combo = COMBOS[i]
      local seq = combo_seq[i]
      if seq == nil then
        seq = parse(combo.trig)
        combo_seq[i] = seq
        log('combo ' .. i .. ' trigger ' .. combo.trig .. ' = ' .. (seq and seq_name(seq) or '(not understood)'))
      end
      local down = pressed(seq)
      -- A press starts a combo, holding does not repeat it, and a player
      -- already busy with a combo ignores further triggers.
      if down and not was_down[i] and not running[combo.player] and #combo.steps > 0 then
        running[combo.player] = {steps = combo.steps, index = 1, start = now, applied = false}
        log('combo ' .. i .. ' started')
      end
      was_down[i] = down
    end
  end

  local function frame()
    local ok, err = pcall(on_frame)
    if not ok then log('error: ' .. tostring(err)) end
  end

  log('plugin started')
  local ok, err = pcall(function()
    if emu.add_machine_frame_notifier then
      -- The subscription must stay referenced or MAME drops the callback.
      exports.frame_sub = emu.add_machine_frame_notifier(frame)
      if emu.add_machine_stop_notifier then exports.stop_sub = emu.add_machine_stop_notifier(forget) end
    elseif emu.register_frame then
      emu.register_frame(frame)
      if emu.register_stop then emu.register_stop(forget) end
    else
      log('no frame callback in this MAME')
    end
  end)
  if not ok then log('error: ' .. tostring(err)) end
end

return exports
)lua";
