// Input sources as the C++ key path numbers them, and the game's keys.
export const SOURCE = { keyboard: 0, touch: 1, gamepad: 2 };
// code: KeyboardEvent.code; pad: Gamepad API standard-mapping button index or -1; touch: the touch control's name or ''.
export const KEYS = [
  { code: 'ArrowUp', pad: 12, touch: 'up' },
  { code: 'ArrowDown', pad: 13, touch: 'down' },
  { code: 'ArrowLeft', pad: 14, touch: 'left' },
  { code: 'ArrowRight', pad: 15, touch: 'right' },
  { code: 'KeyB', pad: 0, touch: 'bump' },
  { code: 'KeyD', pad: 5, touch: 'lighter' },
  { code: 'KeyN', pad: 4, touch: 'darker' },
  { code: 'KeyR', pad: 2, touch: 'new' },
  { code: 'F1', pad: 3, touch: 'full' },
  { code: 'Escape', pad: 8, touch: 'quit' },
];
