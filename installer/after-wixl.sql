-- What OrvexSwitcher.wxs means but wixl does not write: applied by
-- scripts/package.sh with msibuild, one statement a line.
-- ShowMsgValue: the value found (AppSearch, 50), replaced by SHOWMSG when
-- one is given; both before the component conditions count (CostFinalize,
-- 1000). Without either the component is not installed.
INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('ShowMsgFound', 51, 'ShowMsgValue', '[ShowMsgBefore]')
INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('ShowMsgGiven', 51, 'ShowMsgValue', '#[SHOWMSG]')
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('ShowMsgFound', 'ShowMsgBefore', 990)
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('ShowMsgGiven', 'SHOWMSG', 991)
UPDATE `Component` SET `Condition` = 'ShowMsgValue' WHERE `Component` = 'ShowMsg'
-- A secure property reaches the elevated part of an installation that a user
-- started; the two others are wixl's own.
UPDATE `Property` SET `Value` = 'SHOWMSG;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED' WHERE `Property` = 'SecureCustomProperties'
-- wixl makes every shortcut an advertised one (its target a feature).
UPDATE `Shortcut` SET `Target` = '[#OrvexSwitcherExe]' WHERE `Shortcut` = 'StartMenuShortcut'
-- The trace log: 64-bit (256) and never overwritten while it stands (128),
-- so that an upgrade keeps what earlier runs wrote.
UPDATE `Component` SET `Attributes` = 384 WHERE `Component` = 'TraceLog'
-- An upgrade installs the newer package's files and registry values first
-- and then removes the older package, so that the components both hold, the
-- log among them, stay where they are (wixl removes the older package
-- first). The newer one registers itself as a product after that removal:
-- Wine's removal of a product deletes the registration of its upgrade code
-- whole, with the newer product's entry in it.
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('InstallExecute', 6050)
UPDATE `InstallExecuteSequence` SET `Sequence` = 6051 WHERE `Action` = 'RemoveExistingProducts'
-- Standard users may append to the log and nothing else: FILE_APPEND_DATA,
-- FILE_READ_ATTRIBUTES and SYNCHRONIZE (0x100084), what the program asks for
-- when it opens the log. They can neither read, rewrite nor delete it, and
-- the folder stays theirs to read only. Administrators and SYSTEM have full
-- control. The list is protected: nothing is inherited from the folder.
CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) NOT NULL, `LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `SDDL` LONGCHAR NOT NULL, `Condition` CHAR(255) PRIMARY KEY `MsiLockPermissionsEx`)
INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`, `LockObject`, `Table`, `SDDL`) VALUES ('TraceLogAccess', 'TraceLog', 'File', 'D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x100084;;;BU)')
